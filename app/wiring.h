// The wiring table: which routine handles which event of which control.
// Rows live in app/wiring.cpp; see app/forms.h for how to bind a handler.
#pragma once
#include <windows.h>

#include <cstddef>

#include "app/forms.h"

enum class ControlEvent {
  Created,          // the window, once all its controls exist and before it is shown
  Clicked,          // a button
  CheckChanged,     // the check list: the user ticked or cleared an item
  Tick,             // a timer
  LeftButtonDown,   // the left mouse button pressed on the control
  MouseMove,        // the mouse moved over the control
};

// `control` is null for the window's own events and for timers.
using EventHandler = void (*)(HWND window, HWND control);

struct WiringRow {
  FormId window;
  const char* control;  // null: the window itself
  ControlEvent event;
  EventHandler handler;  // null: nobody handles the event yet
};

// Sees every message of a window of the form before the window does; true when it
// handled the message, with *result what the window procedure returns.
using MessageHook = bool (*)(HWND window, UINT message, WPARAM w, LPARAM l, LRESULT* result);

struct MessageHookRow {
  FormId window;
  MessageHook hook;  // null: an empty slot
};

const WiringRow* WiringRows(std::size_t* count);
const MessageHookRow* MessageHookRows(std::size_t* count);

// The handler bound to the event, or null.
EventHandler FindHandler(FormId window, const char* control, ControlEvent event);
// Whether any row names this control with this event (controls only get the
// mouse tracking they need).
bool HasEvent(FormId window, const char* control, ControlEvent event);

// The status strip's live parts: the clock label, the countdown field and the
// external IP address, each written into the control the caller names.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// Writes the current local time as the clock text into `label`.
void UpdateClock(HWND label);

// Writes the time left until the end of Windows XP support into `field`.
void UpdateCountdown(HWND field);

// The page whose text carries the caller's address between the first "[" and the next "]".
extern const char kExternalIpPage[];

// The machine's external address, or an empty text when the page cannot be
// fetched or what it brackets does not look like an address. Blocks until the
// download ends or fails.
std::string FetchExternalIp();
// The same from another page (tests use a local server).
std::string FetchExternalIpFrom(std::string_view url);

// The optimisation tab's events, bound to the optimisation run.
#pragma once
#include <windows.h>

void OnOptimisationTicked(HWND window, HWND control);
void OnStartOptimisation(HWND window, HWND control);
void OnSelectAllOptimisations(HWND window, HWND control);
void OnClearAllOptimisations(HWND window, HWND control);

#pragma once

// Runs the program's modal dialogs in-process: the body runs inside the dialog's own message loop,
// as the user's actions would.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Opens the dialog modally over the owner, runs body(dialog) once it is up, and returns the
// dialog's result. The body must end the dialog.
INT_PTR RunModal(HWND owner, int templateId, DLGPROC procedure, const std::function<void(HWND)>& body);

// Runs the action, which shows a message box owned by the owner, presses the box's OK button once
// it is up, and returns the box's text (empty when no box came).
std::string AnswerMessageBox(HWND owner, const std::function<void()>& action);

// Runs the action once a dialog or message box owned by the owner is up (on the message loop that
// shows it); the caller then starts whatever opens it.
void WhenDialogUp(HWND owner, const std::function<void(HWND)>& action);

// Runs the action once the tray menu (the popup of this thread) is up, on the menu's own loop, and
// then closes the menu; the caller then starts whatever shows it.
void WhenMenuUp(const std::function<void()>& action);

// The shown windows of this thread with the title.
int ShownWindowsTitled(const char* title);

// The texts of a list box's items.
std::vector<std::string> ListItems(HWND list);

// Clicks a dialog button the way the keyboard or mouse would, through the button itself.
void ClickButton(HWND dialog, int id);
// Presses a key on the control that has the focus; the dialog's own message loop takes it once the
// body has returned.
void PressKey(HWND dialog, WPARAM key);

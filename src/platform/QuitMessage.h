#pragma once

namespace platform {

// The application's quit request: posted by the window's close, by a scene or by a fatal error,
// and seen by the main loop, which then leaves and returns the code.
void PostQuit(int exitCode);
// The quit of a failure the player has just been told about: messages after it are not shown.
void PostFatalQuit(int exitCode);
bool QuitPosted(int& exitCode);
// True from PostFatalQuit until ClearQuit.
bool FatalQuitPosted();
void ClearQuit();

}  // namespace platform

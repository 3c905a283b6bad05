#pragma once

namespace platform {

// The application's quit request: posted by the window's close or by a scene, and seen by the
// main loop, which then leaves and returns the code.
void PostQuit(int exitCode);
bool QuitPosted(int& exitCode);
void ClearQuit();

}  // namespace platform

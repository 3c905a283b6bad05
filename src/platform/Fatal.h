#pragma once

namespace platform {

// The game cannot go on: shows the text to the player (a null caption is the default one),
// writes it to the log and asks the main loop to end the run with exit code 0, the way every
// other end of the game goes, so scenes, sound and the device are shut down in order. It
// returns; the caller gives up what it was doing. Once the run is ending, nothing more is
// shown: not another fatal message, nor the messages of what fails after it for want of the
// same files.
void FatalError(const char* caption, const char* text);

}  // namespace platform

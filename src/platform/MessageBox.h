#pragma once

namespace platform {

// A modal message for the player. Captions follow the game's texts: an empty caption is shown
// empty, a null caption gets the default one. When dialogs are switched off (headless runs,
// unattended window tests) the message goes to stderr and nothing blocks. Nothing is shown
// once a fatal error is ending the run.
void ShowMessage(const char* caption, const char* text);

void SetDialogsEnabled(bool enabled);
bool DialogsEnabled();

}  // namespace platform

#pragma once

// Input scripts that walk the title's menus. The title is up and taking input well before frame
// 300 (100 frames of start-up picture, the fade, the title's own fade).

constexpr const char kOptionsAndQuit[] =
    "300 move 520 392\n301 click left\n"                 // option screen
    "400 move 330 120\n401 click left\n403 click left\n"  // music 80 -> 70
    "405 move 456 200\n406 click left\n"                 // effects 80 -> 85
    "410 move 393 280\n411 click left\n"                 // grid display on
    "420 move 80 446\n421 click left\n"                  // back to the menu: the settings are saved
    "520 move 520 440\n521 click left\n";                // quit

constexpr const char kMusicDownAndQuit[] =
    "300 move 520 392\n301 click left\n"
    "400 move 330 120\n401 click left\n"  // one step (5) down from what was stored
    "420 move 80 446\n421 click left\n"
    "520 move 520 440\n521 click left\n";

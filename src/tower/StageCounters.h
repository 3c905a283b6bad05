#pragma once

// The battle's running totals. The game scene owns them; the character controller and its towers
// read them through the reference the scene hands to the controller. Points are also passed by
// reference to the operations that spend or refund them.
struct StageCounters {
    int points = 0;
    int lives = 0;
    int waveCount = 0;  // waves started so far; a tower's sale takes longer as it grows
};

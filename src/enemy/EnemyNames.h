#pragma once

// The name the side panel shows for an enemy kind id (normal or big variant); ids that name no
// enemy give "例外IDです".
const char* EnemyDisplayName(int kindId);

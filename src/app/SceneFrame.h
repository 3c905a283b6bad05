#pragma once

class Scene;
struct SceneContext;

// One frame for one scene on the game's device: clear, the scene's Frame between BeginScene and
// EndScene, present, and a reset when the device reports it was lost.
void DrawSceneFrame(Scene* scene, SceneContext& context);

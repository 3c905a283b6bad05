#include "base/GameFolders.h"

#include <utility>

namespace {
GameFolders g_folders;
}

const GameFolders& Folders() { return g_folders; }

void SetFolders(GameFolders folders) { g_folders = std::move(folders); }

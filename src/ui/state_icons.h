// The 16 by 16 state pictures of the checked-files manager, drawn here:
// an empty box, a blue check mark (keep) and a red cross (remove).
#pragma once

#include <QIcon>

enum class FileState { Empty = 0, Keep = 1, Remove = 2 };

QIcon FileStateIcon(FileState state);

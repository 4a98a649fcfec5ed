#pragma once
// The dialogs' pictures are compiled into this static library; registering
// them from code keeps the linker from dropping them.

namespace platform {
void InitDialogResources();
}

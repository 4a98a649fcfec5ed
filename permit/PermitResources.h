#pragma once
// The program's pictures (icon, emblem, button picture) are compiled into the
// permit library; registering them from code keeps the linker from dropping
// them.

void InitPermitResources();

#pragma once
// The data folder, C:\Permiso on the original platform and $HOME/Permiso
// here (permit::DefaultDataFolder). It holds the permit text records and
// their backups.

// Creates the data folder (one level) when it is missing; when that fails,
// shows the warning "No he podido crear el directorio" and returns.
void EnsureDataFolder();

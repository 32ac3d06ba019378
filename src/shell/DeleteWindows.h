#pragma once

// Deletes every window of the process without asking it to close, each with everything it owns.
// Only windows without a parent are deleted here: menus, combo lists and the like go with theirs.
void deleteAllWindows();

#pragma once

// Brings the application shell's services to what start-up leaves: default settings and layers,
// fine snapping, no status text, no wait cursor, no main frame, and the menus and string table
// built in English.
void ResetAppCoreState();

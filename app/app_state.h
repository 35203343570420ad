#pragma once

// Brings the application's command routing and recent-file list back to what start-up finds:
// no routing chain and an empty list.
void ResetAppState();

#pragma once

// File > Save Views: a picture of the views' area, saved under a name the user gives; a failure
// is reported in a message box.
void DoSaveViews();

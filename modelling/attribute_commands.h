#pragma once

class CGeomObject;

// Commands on the selected objects' control-point display, jewel visibility and the jewel,
// super-subtractor and no-deform flags. Each records every change.
void DoHideCV();
void DoShowCV();

// Hides a jewel in state 0 or 1; a union passes on to every member, a subtraction to its body.
void HideJewelIn(CGeomObject* object);
// Shows a hidden jewel; enters only a selected group, a union's members and a subtraction's body.
void ShowJewelIn(CGeomObject* object);
void DoHideJewel();
void DoShowJewel();

void DoBeJewel();
void DoNotJewel();
void DoSuperSubtractor();
void DoNotSuperSubtractor();
void DoDeformable();
void DoNonDeformable();

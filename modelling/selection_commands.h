#pragma once

// One-shot commands that change object states: select by kind (adding only shown objects on
// pickable layers), delete and undelete, hide, unhide and swap, and restoring the curves that
// surface commands removed. Each records every change and redraws all views.
void DoSelectAll();
void DoSelectCurves();
void DoSelectSurfaces();
void DoSelectBooleans();
void DoSelectSolids();
void DoSelectJewels();
void DoSelectAxisLines();
void DoSelectMeshes();

void DoDelete();
void DoUndelete();
void DoHide();
void DoUnhide();
void DoSwapHide();
void DoRestoreRemovedCurves();

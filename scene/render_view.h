#pragma once

// Draws the active viewport in its display mode, under the projection it has applied.
void RenderView();

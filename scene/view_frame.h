#pragma once

#include <span>

struct Tiling;

// The child window around a view, as the view and the tilings need it.
class ViewFrame {
 public:
  virtual bool IsMinimized() const = 0;
  virtual bool IsMaximized() const = 0;
  virtual void Restore() = 0;  // shown normal
  virtual void Maximize() = 0;
  // Sets the geometry in the MDI client without activating; shows and repaints the frame.
  virtual void PlaceWithoutActivating(int x, int y, int width, int height) = 0;
  virtual void Activate() = 0;
  // The child frame's title update: the main frame's title, then its own (the view type's name).
  virtual void UpdateTitle() = 0;

 protected:
  ~ViewFrame() = default;
};

// The MDI client that holds the child frames.
class MdiHost {
 public:
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  // Null without children.
  virtual ViewFrame* ActiveFrame() const = 0;
  // The frames a tiling has just laid out, by slot (null for an empty slot). While they stay
  // where it put them, the host lays them out again when its client changes size.
  virtual void Tiled(const Tiling& tiling, std::span<ViewFrame* const> slotFrames) = 0;

 protected:
  ~MdiHost() = default;
};

void SetMdiHost(MdiHost* host);  // not owned; null when there is none
MdiHost* GetMdiHost();

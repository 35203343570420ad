#include "scene/view_frame.h"

namespace {

MdiHost* mdiHost = nullptr;

}  // namespace

void SetMdiHost(MdiHost* host) { mdiHost = host; }
MdiHost* GetMdiHost() { return mdiHost; }

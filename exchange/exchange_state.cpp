#include "exchange/exchange_state.h"

#include "exchange/exchange_commands.h"
#include "exchange/export_stack.h"
#include "exchange/mesh_writers.h"
#include "exchange/output_file.h"
#include "exchange/stl_writers.h"
#include "exchange/triangle_export_walk.h"

void ResetExchangeState() {
  ResetExportStacks();
  StlBinaryFacetCount = 0;
  BooleanGroupsWrittenAsMembers = 0;
  ResetMeshWriters();
  OutputFile::FailWritesAfter(-1);
  ResetExchangeCommands();
}

// The profile's toolbar layout, as the main frame restores it at start-up. With
// LUMIDREX_FUZZ_STATE_BYTES the input is the layout's state bytes alone, otherwise the whole
// profile. Either way the target stores the layout again with its version and checksum, as the
// program would have written them, so every state meets the shape check and, passing it, Qt's
// restore.
#include <QSettings>

#include "app/qt/main_frame.h"
#include "app/qt/toolbar_state.h"
#include "fuzz_profile.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
#ifdef LUMIDREX_FUZZ_STATE_BYTES
  FuzzProfile profile(nullptr, 0);
  const QByteArray state(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
#else
  FuzzProfile profile(data, size);
  const QByteArray state = StoredToolBarState(QSettings(QStringLiteral("Kelmora"), QStringLiteral("Lumidrex")));
#endif
  {
    QSettings settings(QStringLiteral("Kelmora"), QStringLiteral("Lumidrex"));
    StoreToolBarState(settings, state);
  }
  CMainFrame frame;
  frame.LoadBarState();
  return 0;
}

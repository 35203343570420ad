#pragma once

#include <cstddef>

#include "kernel/geom_object.h"

// The framing of a design file, shared by designs, inserted files and the gem library: a magic,
// then ':' and an object record for each object, then '#'.
inline constexpr char kDesignFileMagic[] = "TALVERNOSIGN0100";
inline constexpr std::size_t kDesignFileMagicBytes = sizeof kDesignFileMagic - 1;

// Reads an object list from the current object stream. Returns the number of objects kept and
// their chain in *list (the caller owns it; null when none), or -1 when the magic does not match.
// Removed curves (state 4 or more) and objects on negative layers are dropped. The list also ends
// at the end of the input; a record cut short comes back as a deleted object (kStateBadRecord).
// unread, when given, receives how many records could not be read: records that came back bad or
// of an unknown kind, and one more when the input ended between records before its end byte.
int ReadObjectList(CGeomObject** list, int withMagic, int* unread = nullptr);

// Writes the magic, every object of the chain from head whose state is 0 or more, and the end
// byte to the current object stream.
void WriteObjectList(CGeomObject* head);

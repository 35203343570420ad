#pragma once

#include <string>

#include "kernel/geom_object.h"

class CUndoHistory;

// The document's files. A design file is the scene's object list between a magic and an end
// byte; a viewer file is the same records, framed differently and scrambled, for an outside
// viewer.

// Empties the scene and its history; returns 1.
int NewScene(CUndoHistory* history);
// Whether the file at path opens and begins with the design magic, which holds the format's
// version. When not, says "Cannot open file!" or "Invalid file format!" with the path and
// returns false; nothing else changes.
bool CheckDesignFile(const std::string& path);
// Empties the scene, then reads the design at path and numbers its objects from 0. 0 after
// "Cannot open file!" or "Invalid file format!" (with the path), leaving the scene empty; a
// design that ends before its end byte keeps what was read and counts as opened. unread, when
// given, receives how many of its records could not be read (see ReadObjectList).
int OpenScene(CUndoHistory* history, const std::string& path, int* unread = nullptr);
// Writes the scene through a temporary file beside path, checks it, keeps the previous design as
// the backup and only then puts the new one in place. 0 when it could not be saved: the path and
// any backup are then as they were.
int SaveScene(CUndoHistory* history, const std::string& path);
// The backup name of a design: the path up to a '.' among its last four characters (not past a
// folder separator), then ".bak". Empty when that is the path itself.
std::string BackupName(const std::string& path);
// Appends the objects of a design file to the scene, with new ids and an undo record each. A file
// that does not open or holds no object is named in the message.
void InsertDocumentFile(const std::string& path);
// Command 1000 "&Insert": asks for a design file and inserts it as one undo step.
void OnInsertFile();
// Writes the objects of the chain from head whose state is 0 or more as a viewer file; 0 when it
// could not be written, leaving the path as it was.
int WriteViewerFile(CGeomObject* head, const std::string& path);

#pragma once
// What a user is told when the dataset database fails: the reason in words
// (disk full, read-only, locked by another program), shared by the import
// task and the command line.
// Threading: any thread (translations are read-only once installed).

#include "store/database.h"

#include <QString>

// "the disk is full", "the database is read-only", "the database is locked
// by another program", or "the database reported error <rc>" (translated).
QString db_failure_text(db_failure failure, int rc);
// The same for the last failure on a handle.
QString db_failure_text(sqlite3* handle, int rc);

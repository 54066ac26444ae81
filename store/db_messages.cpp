#include "store/db_messages.h"

#include <QCoreApplication>

QString db_failure_text(db_failure failure, int rc) {
    switch (failure) {
    case db_failure::disk_full:
        return QCoreApplication::translate("database", "the disk is full");
    case db_failure::read_only:
        return QCoreApplication::translate("database", "the database is read-only");
    case db_failure::locked:
        return QCoreApplication::translate("database", "the database is locked by another program");
    case db_failure::none:
    case db_failure::other:
        break;
    }
    return QCoreApplication::translate("database", "the database reported error %1").arg(rc);
}

QString db_failure_text(sqlite3* handle, int rc) {
    return db_failure_text(db_failure_of(handle, rc), rc);
}

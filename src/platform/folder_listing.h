// Listing one folder through its handle, and reading when an entry was created: the system
// calls the sequential walk and the parallel walk share. Both raise an Error on failure and
// may run on any thread.
#pragma once

#include "date_conventions.h"

#include <QByteArray>

#include <vector>

namespace kestrova {

// The entries of the folder open at fd (which stays open and unmoved): files (links, pipes,
// sockets and devices among them) and real sub-folders, each in listing order. A folder on a
// kernel pseudo file system lists as empty. dev and inode receive the folder's identity.
void listFolder(int fd, std::vector<QByteArray> &files, std::vector<QByteArray> &subFolders, dev_t &dev,
                ino_t &inode);

// When the entry name of the folder open at fd was created, or last modified where the file
// system keeps no birth time; in local time, to the second. Never follows a link.
LocalDateTime entryCreated(int fd, const QByteArray &name);

} // namespace kestrova

// Listing one folder through its handle, and reading when an entry was created: the system
// calls the sequential walk and the parallel walk share. Both raise an Error on failure and
// may run on any thread.
#pragma once

#include "file_system.h"
#include "platform/text/date_conventions.h"

#include <QByteArray>

#include <vector>

namespace kestrova {

// The entries of the folder open at fd (which stays open; no other handle is opened): files
// (links, pipes, sockets and devices among them) and real sub-folders, each in listing order. A
// folder on a kernel pseudo file system lists as empty. dev and inode receive the folder's
// identity.
void listFolder(int fd, std::vector<QByteArray> &files, std::vector<QByteArray> &subFolders, dev_t &dev,
                ino_t &inode);

// What each sub-folder of names adds to its folder's path (Folder::SubFolderTails()).
std::vector<QByteArray> subFolderTails(bool pathEndsInSeparator, const std::vector<QByteArray> &names);

// Whether a failure was for want of a handle: the process or the system has as many files
// open as it may. A walk then gives back a handle it keeps and tries again.
bool isOutOfHandles(int err);

// How many folder handles a walk may keep open besides those it is listing: wanted, or fewer
// when the process may not open that many files (half of what the rest of the program leaves);
// listings: how many folders are listed at once (each holds a handle while it is listed).
// Never less than 1.
int folderHandleBudget(int wanted, int listings);

// Raises the limit on open files to the highest the process may have, as file tools do, so
// that deep trees keep their ancestors open rather than opening them again.
void raiseOpenFileLimit();

// When the entry name of the folder open at fd was created (or last modified where the file
// system keeps no birth time; in local time, to the second), its size and its modification
// time, from one reading. Never follows a link.
FileStat entryStat(int fd, const QByteArray &name);

} // namespace kestrova

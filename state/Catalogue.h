#pragma once
// The catalogue of test files: a depth-first search below a folder for names matching a mask.
#include <QString>

// Appends to Shared().TestFileList every entry below folder (a path ending with "/", used as a
// plain prefix; empty means the current folder) whose name matches mask ("*" and "?", letters
// without regard to case). Each folder's entries come in the order the folder listing gives
// (FolderListing.h), a subfolder's matches where the subfolder was met, and a matching folder
// after its contents. Every real folder is visited once, so link loops end; folders that
// cannot be read are skipped.
void FindTestFiles(const QString& folder, const QString& mask);

// Whole-name match with "*" (any run) and "?" (any one character), ignoring case.
bool matchesMask(const QString& name, const QString& mask);

#pragma once

#include <cstdint>
#include <string>

// Paths here are 8-bit text in the system's file name encoding, with "/" between levels.

inline constexpr char PathSeparator = '/';

// Attribute bits of FileStatus::m_attribute.
inline constexpr uint8_t FileAttributeReadOnly = 0x01;
inline constexpr uint8_t FileAttributeDirectory = 0x10;

inline constexpr size_t FileStatusNameSize = 260;

struct FileStatus
{
    char m_szFullName[FileStatusNameSize]; // the path as given, cut to 259 characters
    uint8_t m_attribute; // FileAttributeDirectory, FileAttributeReadOnly
};

// Makes path end in the separator; an empty path becomes the separator alone.
void AddBackslash(std::string& path);

// True when path names an existing folder (a symbolic link to one counts); false for a null or
// empty path, a file or a missing entry.
bool FolderExists(const char* path);

// Fills status for an existing entry (a folder or a file); false when there is none. A
// longer path is still looked up whole; only its copy in m_szFullName is cut.
bool GetFileStatus(const char* path, FileStatus& status);

// True when path names an existing entry that is not a folder.
bool IsFile(const char* path);

// Creates the folder path with every missing level above it, touching nothing that exists.
// True when the folder exists afterwards; false when a level cannot be made (for example a
// file stands in its place). A relative path is taken from the current directory.
bool CreateFolderTree(const char* path);

// As CreateFolderTree, then pushes the entry of every level it made to the disk (a sync of
// the folder above each), so that files synced later into the new folder cannot be lost with
// it in a power loss. False also when such a sync fails.
bool CreateDurableFolderTree(const char* path);

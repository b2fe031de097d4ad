#pragma once

// The document of the single-document frame. The program keeps its data in the table of
// open configurations, so the document holds nothing and never changes.
class CVorlenDoc final
{
public:
    bool OnNewDocument() { return true; }
    bool IsModified() const { return false; }
};

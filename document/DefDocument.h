#pragma once

#include "Def.h"
#include "FileStamp.h"

#include <string>

enum class LoadResult {
    Loaded,         // the definition file was read into Current
    ProgramAdopted, // no definition file beside a program: the program became Current.Program
    NotFound,       // no definition file; nothing changed
};

class ByteSink;

// Why the definition file of a Load could not be read.
struct LoadFailure
{
    std::string path;   // the definition file
    std::string reason; // as the system or the reader gives it
};

// The open document: the content being edited, the snapshot it is compared
// with to tell unsaved changes, and the file it belongs to.
class CDefDocument
{
public:
    CDef Current;
    CDef Saved;
    std::string Path; // full path of the definition file; empty for a new document
    FileStamp Stamp;  // what Path held when it was last read or written

    void Reset();

    // Reads the definition file for path (see DefinitionPathFor). Only a
    // regular file of at most MaxDefinitionFileSize bytes is read. failure
    // (when given) says why a definition file was not read, unless there
    // simply was none beside a program.
    LoadResult Load(const std::string& path, LoadFailure* failure = nullptr);

    // Writes Current to the definition file for path, safely: the old file
    // is replaced only once every byte of the new one is on disk. On
    // failure nothing changes, the old file is untouched, and error (when
    // given) receives the reason.
    bool Save(const std::string& path, std::string* error = nullptr);

    // As Save, writing through the given sink (tests inject failing ones).
    bool Save(const std::string& path, ByteSink& sink, std::string* error = nullptr);

    // Whether another program has changed, replaced or made unreadable the
    // file at Path since it was read or written here (see ChangedSince).
    bool ChangedOnDisk() const;

    bool IsModified() const;
    void MarkSaved();

    int OptionCount() const;
    COption& OptionAt(int position);
    const COption& OptionAt(int position) const;
    void InsertOption(int position, const COption& option);
    void AppendOption(const COption& option);
    void RemoveOption(int position);
    void SwapOptions(int a, int b);
    void SetDefaultOption(int position, bool isDefault);
};

#include "document/DefDocument.h"

#include "document/ByteSink.h"
#include "document/DefinitionFile.h"
#include "document/DefinitionPath.h"
#include "document/FileBytes.h"

#include <utility>

namespace {

void SetError(std::string* error, std::string reason)
{
    if (error)
        *error = std::move(reason);
}

} // namespace

void CDefDocument::Reset()
{
    Current = CDef();
    Path.clear();
    Stamp = FileStamp();
    MarkSaved();
}

LoadResult CDefDocument::Load(const std::string& path, LoadFailure* failure)
{
    const std::string full = AbsolutePath(path);
    const std::string definitionPath = DefinitionPathFor(full);
    // Times from before the read: a change while reading then shows as a
    // later time, and the bytes decide.
    FileStamp stamp = StampOf(definitionPath);
    std::string bytes;
    std::string reason;
    const ReadOutcome outcome = ReadFileBytes(definitionPath, bytes, reason);
    if (outcome != ReadOutcome::Read) {
        const bool adopt = !SamePath(full, definitionPath);
        if (failure && !(adopt && outcome == ReadOutcome::Missing))
            *failure = {definitionPath, reason};
        if (!adopt)
            return LoadResult::NotFound;
        Current.Program = full;
        Path = definitionPath;
        // Whatever stands there was never read here: a save asks first.
        Stamp = FileStamp();
        return LoadResult::ProgramAdopted;
    }
    stamp.size = bytes.size();
    stamp.hash = HashContent(bytes);
    // Read before anything changes: a file the reader refuses leaves the
    // document as it was, its path included.
    CDef read = ReadDefinition(bytes, full, definitionPath);
    // The file's bytes go before the document takes its memory.
    std::string().swap(bytes);
    Path = definitionPath;
    Stamp = stamp;
    Current = std::move(read);
    MarkSaved();
    return LoadResult::Loaded;
}

bool CDefDocument::Save(const std::string& path, std::string* error)
{
    SafeFileSink sink;
    return Save(path, sink, error);
}

bool CDefDocument::Save(const std::string& path, ByteSink& sink, std::string* error)
{
    const std::string definitionPath = DefinitionPathFor(path);
    const std::string bytes = WriteDefinition(Current);
    std::string reason;
    if (!sink.Open(definitionPath, reason)) {
        SetError(error, reason);
        return false;
    }
    if (!sink.Write(bytes.data(), bytes.size(), reason) || !sink.Commit(reason)) {
        sink.Abandon();
        SetError(error, reason);
        return false;
    }
    Path = definitionPath;
    Stamp = StampOf(definitionPath);
    Stamp.hash = HashContent(bytes);
    MarkSaved();
    return true;
}

bool CDefDocument::ChangedOnDisk() const
{
    return ChangedSince(Path, Stamp);
}

bool CDefDocument::IsModified() const
{
    return Current != Saved;
}

void CDefDocument::MarkSaved()
{
    Saved = Current;
}

int CDefDocument::OptionCount() const
{
    return static_cast<int>(Current.Options.size());
}

COption& CDefDocument::OptionAt(int position)
{
    return Current.Options.at(static_cast<std::size_t>(position));
}

const COption& CDefDocument::OptionAt(int position) const
{
    return Current.Options.at(static_cast<std::size_t>(position));
}

void CDefDocument::InsertOption(int position, const COption& option)
{
    Current.Options.insert(Current.Options.begin() + position, option);
}

void CDefDocument::AppendOption(const COption& option)
{
    Current.Options.push_back(option);
}

void CDefDocument::RemoveOption(int position)
{
    Current.Options.erase(Current.Options.begin() + position);
}

void CDefDocument::SwapOptions(int a, int b)
{
    std::swap(OptionAt(a), OptionAt(b));
}

void CDefDocument::SetDefaultOption(int position, bool isDefault)
{
    if (isDefault) {
        Current.First = position;
        for (int i = 0; i < OptionCount(); ++i)
            OptionAt(i).Default = (i == position);
        return;
    }
    OptionAt(position).Default = false;
    if (Current.First == position)
        Current.First = 0;
}

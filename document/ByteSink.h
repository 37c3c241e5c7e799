#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

// Where a save writes its bytes. The file sink writes a temporary file and
// replaces the target with it on Commit; tests substitute sinks that fail
// part-way.
class ByteSink
{
public:
    virtual ~ByteSink() = default;

    // Prepares to write the file at path; false (with error set) when it
    // cannot be created.
    virtual bool Open(const std::string& path, std::string& error) = 0;
    // Writes all of size bytes or fails.
    virtual bool Write(const char* data, std::size_t size, std::string& error) = 0;
    // Flushes everything to disk and puts the file in place of the target.
    virtual bool Commit(std::string& error) = 0;
    // Throws away whatever was written; the target stays as it was.
    virtual void Abandon() = 0;
};

// The sink that saves files for real: the new content goes into a temporary
// file beside the target, which replaces the target once it is on disk and
// carries the target's permission bits, owner, group and extended
// attributes. When it cannot carry them all (or the target has other hard
// links, or is a file mounted over another) the target is written in place,
// with a whole copy of the old content kept beside it until the new one is
// on disk; a copy an interrupted save left that differs from the target
// stops every save of it. A symbolic link stays and its target is saved;
// FIFOs, devices and sockets are refused. A file that its permissions keep
// from being written is still replaced where the folder allows: asking
// first is the caller's part (see IsReadOnlyFile).
class SafeFileSink : public ByteSink
{
public:
    // Runs between the steps of a save that leave the disk in different
    // states; tests end the process there to see what a crash leaves.
    using Checkpoint = std::function<void()>;

    explicit SafeFileSink(Checkpoint checkpoint = {});
    ~SafeFileSink() override;
    SafeFileSink(const SafeFileSink&) = delete;
    SafeFileSink& operator=(const SafeFileSink&) = delete;

    bool Open(const std::string& path, std::string& error) override;
    bool Write(const char* data, std::size_t size, std::string& error) override;
    bool Commit(std::string& error) override;
    void Abandon() override;

private:
    struct State;
    std::unique_ptr<State> state_;
};

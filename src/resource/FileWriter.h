#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How whole files reach the disk. The game uses the disk writer; tests put in one that fails
// or dies part-way to prove that a broken write never costs the old file.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    // Creates or truncates the file and writes all the bytes, flushed to the disk. False on any failure.
    virtual bool WriteAll(const std::string& path, const std::uint8_t* bytes, std::size_t size) = 0;
};

FileWriter& DiskFileWriter();

// Writes the bytes to a temporary file beside path and renames it over path, so path holds
// either its old contents or all of the new ones, never a mixture. False when either step
// fails; the temporary file is then removed and path left as it was.
bool ReplaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes, FileWriter& writer);

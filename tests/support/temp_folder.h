#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes away.

#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder path, ending in '/'.
    const std::string& path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }
    // Whole-file helpers for fixtures.
    bool Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::string m_path;
};

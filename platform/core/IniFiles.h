#pragma once
// INI files: named sections of key=value lines. Section and key names match
// without regard to ASCII letter case; sections and keys keep the order in
// which they were first written or read. Files are written with CR LF line
// ends; reading accepts CR LF, LF and a UTF-8 byte order mark.
//
// TMemIniFile works on a copy in memory and writes it back on UpdateFile.
// TIniFile writes every change through to its file at once, the way the
// system's profile functions do.

#include "platform/core/Classes.h"
#include "platform/core/Exceptions.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

// Raised when an INI file cannot be written.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// The text of an INI file in UTF-8: a byte order mark is dropped, and a text
// that is not UTF-8 is taken to be in the system code page.
std::string FileTextToUtf8(std::string AText);

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const std::string& AFileName) : FFileName(AFileName) {}

    const std::string& FileName() const { return FFileName; }

    // The stored text of the key, or ADefault when the section or key is
    // missing. Spaces around keys and values are not part of them.
    virtual std::string ReadString(std::string_view ASection, std::string_view AKey,
                                   const std::string& ADefault) const = 0;
    virtual void WriteString(std::string_view ASection, std::string_view AKey,
                             const std::string& AValue) = 0;
    // Decimal, or hexadecimal after "$" or "0x"; any text that is not a whole
    // 32-bit number gives ADefault.
    int ReadInteger(std::string_view ASection, std::string_view AKey, int ADefault) const;
    void WriteInteger(std::string_view ASection, std::string_view AKey, int AValue);
    // True for any integer other than 0.
    bool ReadBool(std::string_view ASection, std::string_view AKey, bool ADefault) const;
    void WriteBool(std::string_view ASection, std::string_view AKey, bool AValue);

    virtual bool SectionExists(std::string_view ASection) const = 0;
    bool ValueExists(std::string_view ASection, std::string_view AKey) const;
    // Appends the key names of a section, or the section names, to AList.
    virtual void ReadSection(std::string_view ASection, TStringList& AList) const = 0;
    virtual void ReadSections(TStringList& AList) const = 0;
    // Appends "key=value" lines of the section to AList.
    virtual void ReadSectionValues(std::string_view ASection, TStringList& AList) const = 0;
    virtual void EraseSection(std::string_view ASection) = 0;
    virtual void DeleteKey(std::string_view ASection, std::string_view AKey) = 0;
    // Writes pending changes to the file; raises EIniFileException on failure.
    virtual void UpdateFile() = 0;

private:
    std::string FFileName;
};

// The whole file held in memory. A missing or unreadable file starts empty.
class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(const std::string& AFileName);
    ~TMemIniFile() override;
    TMemIniFile(const TMemIniFile&) = delete;
    TMemIniFile& operator=(const TMemIniFile&) = delete;

    std::string ReadString(std::string_view ASection, std::string_view AKey,
                           const std::string& ADefault) const override;
    void WriteString(std::string_view ASection, std::string_view AKey,
                     const std::string& AValue) override;
    bool SectionExists(std::string_view ASection) const override;
    void ReadSection(std::string_view ASection, TStringList& AList) const override;
    void ReadSections(TStringList& AList) const override;
    void ReadSectionValues(std::string_view ASection, TStringList& AList) const override;
    void EraseSection(std::string_view ASection) override;
    void DeleteKey(std::string_view ASection, std::string_view AKey) override;
    void UpdateFile() override;

    void Clear();
    // The whole content as INI text ("[Section]" lines, then "key=value"
    // lines, CR LF), and its replacement by another text.
    std::string Text() const;
    void SetText(std::string_view AText);
    void GetStrings(TStringList& AList) const;
    void SetStrings(const TStringList& AList);

private:
    struct TSection;
    TSection* FindSection(std::string_view AName) const;
    TSection& SectionFor(std::string_view AName);
    // One line of INI text: a section header starts ACurrent, a key line
    // goes into it.
    void ReadLine(std::string_view ALine, TSection*& ACurrent);

    std::vector<std::unique_ptr<TSection>> FSections;
    std::unordered_map<std::string, TSection*> FSectionIndex;
};

// A file read once at creation and rewritten after every change.
class TIniFile : public TMemIniFile {
public:
    using TMemIniFile::TMemIniFile;

    void WriteString(std::string_view ASection, std::string_view AKey, const std::string& AValue) override;
    void EraseSection(std::string_view ASection) override;
    void DeleteKey(std::string_view ASection, std::string_view AKey) override;
};

} // namespace platform

#pragma once

#include <expected>

#include <QString>

namespace velantor {

// A failure that happens in normal use: a number and a Spanish description, shown to
// the user by the window layer or printed by the command-line tool.
struct Error {
    int number = 0;
    QString description;
};

template <class T>
using Result = std::expected<T, Error>;

// Error numbers of the system. Numbers below 1000 follow the file system's meaning
// (53 file not found, 75 path/file access error, 76 path not found).
namespace errors {
inline constexpr int kFileNotFound = 53;
inline constexpr int kFileAccess = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kDiskFull = 61;
inline constexpr int kInvalidProcedureCall = 5;
inline constexpr int kCodeOutOfRange = 1001;      // decoded character outside 0..255
inline constexpr int kMalformedXml = 1002;        // an XML file that does not parse
inline constexpr int kMissingXmlItem = 1003;      // a required element or attribute is absent
inline constexpr int kWriteFailed = 1004;         // a file could not be written in full
inline constexpr int kMalformedFilter = 1005;     // a table filter expression that does not parse
inline constexpr int kMissingFormField = 5941;    // the document has no form field of that name
inline constexpr int kExternalProgram = 1006;     // an outside program is missing or failed
inline constexpr int kUnsafeName = 1007;          // a name that would leave its folder
inline constexpr int kUnknownControl = 1008;      // a rule addressed a control the form does not have
inline constexpr int kFileLocked = 1009;          // another run holds the file's lock
inline constexpr int kNotAnApplication = 1010;    // a document that is not an application (or not this one)
} // namespace errors

inline Error makeError(int number, const QString& description) { return Error{number, description}; }

} // namespace velantor

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

// The statuses of the failures every layer shares, with their numbers. Numbers below 1000
// follow the file system's meaning (53 file not found, 75 path/file access error, 76 path
// not found); other domains number theirs apart (the barcodes from 1101, the application
// JSON from 1201), so a number names one status. Each status has a short description.
namespace errors {
enum Platform : int {
    kInvalidProcedureCall = 5, // a step called before what it needs was done
    kFileNotFound = 53,        // the file does not exist
    kDiskFull = 61,            // the disk is full
    kFileAccess = 75,          // the file exists but cannot be read or written
    kPathNotFound = 76,        // the folder does not exist
    kCodeOutOfRange = 1001,    // decoded character outside 0..255
    kMalformedXml = 1002,      // an XML file that does not parse
    kMissingXmlItem = 1003,    // a required element or attribute is absent
    kWriteFailed = 1004,       // a file could not be written in full
    kMalformedFilter = 1005,   // a table filter expression that does not parse
    kExternalProgram = 1006,   // an outside program is missing or failed
    kUnsafeName = 1007,        // a name that would leave its folder
    kUnknownControl = 1008,    // a rule addressed a control the form does not have
    kFileLocked = 1009,        // another run holds the file's lock
    kNotAnApplication = 1010,  // a document that is not an application (or not this one)
    kMissingFormField = 5941,  // the document has no form field of that name
};
inline constexpr Platform kPlatformStatuses[] = {
    kInvalidProcedureCall, kFileNotFound, kDiskFull,       kFileAccess,       kPathNotFound,
    kCodeOutOfRange,       kMalformedXml, kMissingXmlItem, kWriteFailed,      kMalformedFilter,
    kExternalProgram,      kUnsafeName,   kUnknownControl, kFileLocked,       kNotAnApplication,
    kMissingFormField,
};
// "Archivo no encontrado" and the like: what the status means, without the case at hand.
QString description(Platform status);
} // namespace errors

inline Error makeError(int number, const QString& description) {
    return Error{number, description};
}

} // namespace velantor

#pragma once

#include <QString>

namespace velantor {

// The working folders of a run. The data folder holds the catalogues, the
// applications folder the saved applications; both end with the platform's separator.
// They are formed, never created or checked.
class Folders {
public:
    // From the folder the program runs from (with or without a trailing separator).
    static Folders fromProgramFolder(const QString& programFolder);
    // The folder of the running executable; needs a QCoreApplication.
    static Folders ofRunningProgram();

    const QString& programFolder() const { return m_program; }
    const QString& dataFolder() const { return m_data; }
    const QString& applicationsFolder() const { return m_applications; }

    // A file directly in the program folder ("usuarios.xml", "conf.xml" …).
    QString programFile(const QString& name) const;

private:
    QString m_program;      // without a trailing separator, except for a root folder
    QString m_data;         // program folder + "ficheros" + separator
    QString m_applications; // program folder + "ficheros", "temp" + separator
};

} // namespace velantor

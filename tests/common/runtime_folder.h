#pragma once

// A runtime folder as a desktop session gives each user (XDG_RUNTIME_DIR):
// a temporary folder only its owner may enter, which Qt, libdbus and the
// sound and display servers insist on.

#include <QFile>
#include <QTemporaryDir>

namespace testing {

class RuntimeFolder
{
public:
    RuntimeFolder()
    {
        m_private = m_folder.isValid() &&
                    QFile::setPermissions(m_folder.path(),
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool isValid() const { return m_private; }
    QString path() const { return m_folder.path(); }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }

private:
    QTemporaryDir m_folder;
    bool m_private = false;
};

} // namespace testing

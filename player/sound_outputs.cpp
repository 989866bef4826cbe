#include "sound_outputs.h"

#include <QDir>
#include <QFileInfo>

namespace player {

QByteArray soundOutputs(const SoundSystem &system)
{
    QByteArray outputs;
    if (system.pipeWireServer)
        outputs += "pipewire,";
    outputs += "pulse";
    if (system.soundCards)
        outputs += ",alsa";
    return outputs;
}

SoundSystem soundSystemHere()
{
    SoundSystem system;
    const QString remote = qEnvironmentVariable("PIPEWIRE_REMOTE", QStringLiteral("pipewire-0"));
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    system.pipeWireServer = QFileInfo(remote).isAbsolute()
                                ? QFileInfo::exists(remote)
                                : !runtime.isEmpty() && QFileInfo::exists(runtime + u'/' + remote);
    system.soundCards = !QDir(QStringLiteral("/dev/snd"))
                             .entryList({QStringLiteral("controlC*")}, QDir::System)
                             .isEmpty();
    return system;
}

} // namespace player

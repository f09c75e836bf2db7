#pragma once

// Disk conditions that a plain temporary folder cannot give: a volume that
// runs full, and a folder that even root may not write to. Both are real
// (a real tmpfs, the kernel's own permission checks), so the program meets
// exactly what a user's system would answer. Linux only, as the test that
// uses them.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cerrno>
#include <cstring>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace disk_conditions {

inline QString system_reason(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

inline bool write_proc(const char *path, const QByteArray &text)
{
    QFile file{QString::fromLatin1(path)};
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Gives this process a mount namespace of its own (once), so that what it
// mounts is seen by nobody else and goes away with it. Without the right to
// do so (not root), a user namespace in which this user is root serves.
inline bool enter_private_mounts(QString &why_not)
{
    static QString failure = [] {
        if (unshare(CLONE_NEWNS) != 0) {
            const QByteArray uid = QByteArray::number(uint(getuid()));
            const QByteArray gid = QByteArray::number(uint(getgid()));
            if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                return system_reason("unshare");
            if (!write_proc("/proc/self/setgroups", "deny") ||
                !write_proc("/proc/self/uid_map", "0 " + uid + " 1") ||
                !write_proc("/proc/self/gid_map", "0 " + gid + " 1"))
                return QStringLiteral("the user namespace cannot be mapped");
        }
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return system_reason("mount --make-rprivate /");
        return QString();
    }();
    why_not = failure;
    return failure.isEmpty();
}

} // namespace disk_conditions

// A tmpfs of `kilobytes` mounted on an existing folder for as long as this
// lives. `ready` is false, and `why_not` says why, where the system allows
// no such mount.
class Small_volume {
public:
    Small_volume(const QString &folder, int kilobytes) : where(QFile::encodeName(folder))
    {
        if (!disk_conditions::enter_private_mounts(why_not))
            return;
        const QByteArray size = "size=" + QByteArray::number(kilobytes) + 'k';
        ready = mount("r7k-test", where.constData(), "tmpfs", 0, size.constData()) == 0;
        if (!ready)
            why_not = disk_conditions::system_reason("mount tmpfs");
    }
    ~Small_volume()
    {
        if (ready)
            umount2(where.constData(), MNT_DETACH);
    }
    Small_volume(const Small_volume &) = delete;
    Small_volume &operator=(const Small_volume &) = delete;

    bool ready = false;
    QString why_not;

private:
    QByteArray where;
};

// Root passes every permission check of files and folders (CAP_DAC_OVERRIDE).
// While this lives the calling thread is held to the permission bits like any
// other user; other users are held to them anyway.
class Permission_bits_apply {
public:
    Permission_bits_apply()
    {
        held = syscall(SYS_capget, &header, caps) == 0;
        saved = caps[0].effective;
        caps[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        if (held)
            syscall(SYS_capset, &header, caps);
    }
    ~Permission_bits_apply()
    {
        caps[0].effective = saved;
        if (held)
            syscall(SYS_capset, &header, caps);
    }
    Permission_bits_apply(const Permission_bits_apply &) = delete;
    Permission_bits_apply &operator=(const Permission_bits_apply &) = delete;

private:
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[_LINUX_CAPABILITY_U32S_3]{};
    __u32 saved = 0;
    bool held = false;
};

#include "permissions_bind.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testsupport {
namespace {

bool readCaps(__user_cap_data_struct (&data)[2]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capget, &header, data) == 0;
}

bool writeCaps(__user_cap_data_struct (&data)[2]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capset, &header, data) == 0;
}

constexpr unsigned kOverrides =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

} // namespace

PermissionsBind::PermissionsBind() {
    __user_cap_data_struct data[2] = {};
    if (!readCaps(data) || !(data[0].effective & kOverrides))
        return;
    m_saved[0] = data[0].effective;
    m_saved[1] = data[1].effective;
    data[0].effective &= ~kOverrides;
    m_changed = writeCaps(data);
}

PermissionsBind::~PermissionsBind() {
    if (!m_changed)
        return;
    __user_cap_data_struct data[2] = {};
    if (!readCaps(data))
        return;
    data[0].effective = m_saved[0];
    data[1].effective = m_saved[1];
    writeCaps(data);
}

} // namespace testsupport

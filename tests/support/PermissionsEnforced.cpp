#include "PermissionsEnforced.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vellum::test {

namespace {

constexpr unsigned Overrides = (1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH);

// The thread's own capabilities (0: this thread), as the kernel's interface gives them.
bool capabilities(__user_cap_data_struct (&data)[2])
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capget, &header, data) == 0;
}

bool setCapabilities(__user_cap_data_struct (&data)[2])
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capset, &header, data) == 0;
}

} // namespace

PermissionsEnforced::PermissionsEnforced()
{
    __user_cap_data_struct data[2] = {};
    if (!capabilities(data))
        return;
    m_effective = data[0].effective;
    if ((m_effective & Overrides) == 0) {
        m_enforced = true;
        return;
    }
    data[0].effective = m_effective & ~Overrides;
    m_dropped = setCapabilities(data);
    m_enforced = m_dropped;
}

PermissionsEnforced::~PermissionsEnforced()
{
    __user_cap_data_struct data[2] = {};
    if (!m_dropped || !capabilities(data))
        return;
    data[0].effective = m_effective;
    static_cast<void>(setCapabilities(data));
}

} // namespace vellum::test

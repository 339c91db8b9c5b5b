#pragma once

namespace testsupport {

// While it lives, file permissions bind this thread even when it runs as root: the capabilities
// that let root read and write past them are taken out of its effective set (and put back at the
// end). Without root it changes nothing, since permissions bind anyway.
class PermissionsBind {
public:
    PermissionsBind();
    ~PermissionsBind();
    PermissionsBind(const PermissionsBind &) = delete;
    PermissionsBind &operator=(const PermissionsBind &) = delete;

private:
    unsigned m_saved[2] = {0, 0};
    bool m_changed = false;
};

} // namespace testsupport

#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace ft::test {

// Sets (or unsets, with nullptr) an environment variable for the lifetime of
// the object and puts the old value back afterwards.
class EnvOverride {
public:
    EnvOverride(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvOverride()
    {
        if (m_old)
            setenv(m_name.c_str(), m_old->c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

} // namespace ft::test

#pragma once

#include "cli/register_command.h"
#include "core/platform/progress.h"
#include "core/registration/registration_driver.h"

namespace ft::cli {

// The register command's Registrar on the registration driver.
class DriverRegistrar final : public Registrar {
public:
    DriverRegistrar(registration::RegistrationStores stores, platform::Progress& progress)
        : m_stores(stores), m_progress(progress)
    {
    }

    FolderResult registerFolder(const std::filesystem::path& folder) override;
    std::vector<HeaderResult>
    registerHeaders(const std::vector<std::filesystem::path>& headers) override;

private:
    registration::RegistrationStores m_stores;
    platform::Progress& m_progress;
};

} // namespace ft::cli

#pragma once

#include "cli/register_command.h"
#include "core/platform/progress.h"
#include "core/registration/registration_driver.h"

#include <ostream>

namespace ft::cli {

// Status texts on standard error, one per line: the command-line tool's
// progress channel. There are no window events to let run.
class StreamProgress final : public platform::Progress {
public:
    explicit StreamProgress(std::ostream& out) : m_out(out) {}
    void showStatus(const QString& text) override;
    void processEvents() override {}
    void beginBusy() override {}
    void endBusy() override {}

private:
    std::ostream& m_out;
};

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

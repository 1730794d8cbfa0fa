#pragma once

#include "core/workspace/workspace.h"

namespace ft::registration {

// What a registration works on: both catalogues, the working files with
// their extents, and the trace logs. Made from a program's workspace, which
// is what every caller has at hand.
struct RegistrationStores {
    RegistrationStores(workspace::Workspace& workspace) // NOLINT(google-explicit-constructor)
        : catalogues(workspace.catalogues()), workingFiles(workspace.workingFiles()),
          traces(workspace.traces())
    {
    }

    workspace::Catalogues& catalogues;
    workspace::WorkingFiles& workingFiles;
    workspace::TraceLogs& traces;
};

} // namespace ft::registration

#pragma once

// The GeoPackage file of an export and its layers, over GDAL's GPKG driver.

#include "core/gis/geopackage_export.h"
#include "core/platform/operator_message.h"
#include "core/platform/replacement_file.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>

namespace ft::gis {

struct LayerField {
    const char* name;
    OGRFieldType type;
};

// One layer being filled: features are added in order and counted.
class LayerWriter {
public:
    explicit LayerWriter(OGRLayer& layer) : m_layer(&layer) {}

    // A new feature of the layer, every field unset.
    OGRFeatureUniquePtr newFeature() const;
    // Writes the feature. Throws ExportError when GDAL refuses it.
    void add(OGRFeature& feature);

    const char* name() const { return m_layer->GetName(); }
    std::size_t count() const { return m_count; }
    std::size_t withoutGeometry() const { return m_withoutGeometry; }

private:
    OGRLayer* m_layer;
    std::size_t m_count = 0;
    std::size_t m_withoutGeometry = 0;
};

// A GeoPackage written whole or not at all: it is created under a temporary
// name beside its destination and takes the destination's place in finish().
// An export that fails or is cancelled leaves no half-written file behind,
// and a file of the destination's name stays as it was until then.
class GeoPackageFile {
public:
    // Creates the temporary file. Throws ExportError.
    explicit GeoPackageFile(std::filesystem::path destination);
    // Closes the file; removes it unless finish() put it in place.
    ~GeoPackageFile();
    GeoPackageFile(const GeoPackageFile&) = delete;
    GeoPackageFile& operator=(const GeoPackageFile&) = delete;

    // A layer in the coordinate system `srs` (none for a table without
    // geometry) with these fields, in this order. Throws ExportError.
    LayerWriter createLayer(const std::string& name, OGRSpatialReference* srs,
                            OGRwkbGeometryType geometry, std::span<const LayerField> fields);

    // Features are written in one transaction: one commit for the whole file.
    void beginWriting();
    // Commits, closes and puts the file in its destination's place. Throws
    // ExportError, or platform::DiskFull naming the destination.
    void finish();

private:
    // `marked` names the file as %1, then `more`.
    [[noreturn]] void fail(const char* marked, const QStringList& more = {}) const;

    std::filesystem::path m_destination;
    platform::ReplacementFile m_replacement;
    GDALDatasetUniquePtr m_dataset; // closed before the replacement goes
};

} // namespace ft::gis

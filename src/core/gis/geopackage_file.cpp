#include "core/gis/geopackage_file.h"

#include "core/gis/gdal_runtime.h"

#include <system_error>

namespace ft::gis {
namespace {

// Beside the destination, so the final rename stays on one file system;
// hidden, and with the extension the GPKG driver expects.
std::filesystem::path temporaryPathFor(const std::filesystem::path& destination)
{
    return destination.parent_path() / ("." + destination.filename().string() + ".part.gpkg");
}

std::string withReason(std::string text)
{
    // GDAL's own text follows as a detail paragraph, unchanged.
    const std::string reason = lastGdalError();
    if (!reason.empty())
        text += "\n\n" + reason;
    return text;
}

} // namespace

OGRFeatureUniquePtr LayerWriter::newFeature() const
{
    return OGRFeatureUniquePtr(OGRFeature::CreateFeature(m_layer->GetLayerDefn()));
}

void LayerWriter::add(OGRFeature& feature)
{
    if (m_layer->CreateFeature(&feature) != OGRERR_NONE)
        throw ExportError(withReason(std::string("レイヤ ") + name() + " に書き込めません"));
    ++m_count;
    if (feature.GetGeometryRef() == nullptr && m_layer->GetGeomType() != wkbNone)
        ++m_withoutGeometry;
}

GeoPackageFile::GeoPackageFile(std::filesystem::path destination)
    : m_destination(std::move(destination)), m_temporary(temporaryPathFor(m_destination))
{
    registerGdalDrivers();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
    if (driver == nullptr)
        throw ExportError("GDAL に GeoPackage の書き出し機能がありません");
    removeTemporary(); // left by an export that was killed
    m_dataset.reset(driver->Create(m_temporary.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!m_dataset)
        fail("作成できません");
}

GeoPackageFile::~GeoPackageFile()
{
    if (m_finished)
        return;
    m_dataset.reset();
    removeTemporary();
}

void GeoPackageFile::fail(const std::string& what) const
{
    throw ExportError(withReason("GeoPackage " + m_destination.string() + " を" + what));
}

void GeoPackageFile::removeTemporary() noexcept
{
    std::error_code ignored;
    std::filesystem::remove(m_temporary, ignored);
}

LayerWriter GeoPackageFile::createLayer(const std::string& name, OGRSpatialReference* srs,
                                        OGRwkbGeometryType geometry,
                                        std::span<const LayerField> fields)
{
    OGRLayer* layer = m_dataset->CreateLayer(name.c_str(), srs, geometry, nullptr);
    if (layer == nullptr)
        fail("作成できません (レイヤ " + name + ")");
    for (const LayerField& column : fields) {
        OGRFieldDefn field(column.name, column.type);
        if (layer->CreateField(&field) != OGRERR_NONE)
            fail("作成できません (レイヤ " + name + " の " + column.name + ")");
    }
    return LayerWriter(*layer);
}

void GeoPackageFile::beginWriting()
{
    if (m_dataset->StartTransaction() != OGRERR_NONE)
        fail("書き込めません");
}

void GeoPackageFile::finish()
{
    if (m_dataset->CommitTransaction() != OGRERR_NONE)
        fail("書き込めません");
    CPLErrorReset();
    m_dataset.reset();
    // Closing writes what the driver kept back (the spatial indexes).
    if (CPLGetLastErrorType() >= CE_Failure)
        fail("書き込めません");
    std::error_code error;
    std::filesystem::rename(m_temporary, m_destination, error);
    if (error)
        throw ExportError("GeoPackage " + m_destination.string() +
                          " を置けません: " + error.message());
    m_finished = true;
}

} // namespace ft::gis

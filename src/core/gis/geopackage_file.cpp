#include "core/gis/geopackage_file.h"

#include "core/gis/gdal_runtime.h"

#include <system_error>

namespace ft::gis {
namespace {

constexpr const char* kCannotWrite =
    QT_TRANSLATE_NOOP("findTavla", "Cannot write the GeoPackage %1");

// Beside the destination, so the final rename stays on one file system;
// hidden, and with the extension the GPKG driver expects.
std::filesystem::path temporaryPathFor(const std::filesystem::path& destination)
{
    return destination.parent_path() / ("." + destination.filename().string() + ".part.gpkg");
}

} // namespace

OGRFeatureUniquePtr LayerWriter::newFeature() const
{
    return OGRFeatureUniquePtr(OGRFeature::CreateFeature(m_layer->GetLayerDefn()));
}

void LayerWriter::add(OGRFeature& feature)
{
    if (m_layer->CreateFeature(&feature) != OGRERR_NONE)
        throw ExportError(
            platform::Message(QT_TRANSLATE_NOOP("findTavla", "Cannot write to layer %1"),
                              {QString::fromStdString(name())}),
            lastGdalError());
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
        throw ExportError(platform::Message(
            QT_TRANSLATE_NOOP("findTavla", "This GDAL cannot write GeoPackage files")));
    removeTemporary(); // left by an export that was killed
    m_dataset.reset(driver->Create(m_temporary.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!m_dataset)
        fail(QT_TRANSLATE_NOOP("findTavla", "Cannot create the GeoPackage %1"));
}

GeoPackageFile::~GeoPackageFile()
{
    if (m_finished)
        return;
    m_dataset.reset();
    removeTemporary();
}

void GeoPackageFile::fail(const char* marked, const QStringList& more) const
{
    // GDAL's own text follows as a detail paragraph, unchanged.
    throw ExportError(
        platform::Message(marked,
                          QStringList{QString::fromStdString(m_destination.string())} + more),
        lastGdalError());
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
        fail(QT_TRANSLATE_NOOP("findTavla", "Cannot create the GeoPackage %1 (layer %2)"),
             {QString::fromStdString(name)});
    for (const LayerField& column : fields) {
        OGRFieldDefn field(column.name, column.type);
        if (layer->CreateField(&field) != OGRERR_NONE)
            fail(QT_TRANSLATE_NOOP("findTavla",
                                   "Cannot create the GeoPackage %1 (layer %2, column %3)"),
                 {QString::fromStdString(name), QString::fromUtf8(column.name)});
    }
    return LayerWriter(*layer);
}

void GeoPackageFile::beginWriting()
{
    if (m_dataset->StartTransaction() != OGRERR_NONE)
        fail(kCannotWrite);
}

void GeoPackageFile::finish()
{
    if (m_dataset->CommitTransaction() != OGRERR_NONE)
        fail(kCannotWrite);
    CPLErrorReset();
    m_dataset.reset();
    // Closing writes what the driver kept back (the spatial indexes).
    if (CPLGetLastErrorType() >= CE_Failure)
        fail(kCannotWrite);
    std::error_code error;
    std::filesystem::rename(m_temporary, m_destination, error);
    if (error)
        throw ExportError(
            platform::Message(
                QT_TRANSLATE_NOOP("findTavla", "Cannot put the GeoPackage %1 in place"),
                {QString::fromStdString(m_destination.string())}),
            error.message());
    m_finished = true;
}

} // namespace ft::gis

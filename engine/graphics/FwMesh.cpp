#include "engine/graphics/FwMesh.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/graphics/FwBuffer.h"
#include "engine/graphics/GraphicsDevice.h"

FwMesh::FwMesh() = default;
FwMesh::~FwMesh() = default;

bool FwMesh::Create(const std::vector<FwMeshVertex>& vertices, const std::vector<FwMeshFace>& faces,
                    const std::vector<FwMeshSubset>& subsets) {
    Release();
    this->subsets = subsets;
    positions.reserve(vertices.size());
    for (const FwMeshVertex& v : vertices) positions.push_back(v.pos);
    this->faces = faces;
    ComputeBounds();
    ComputeSubsetVertices();

    constexpr size_t kMaxBytes = std::numeric_limits<unsigned>::max();
    bool ok = true;
    if (!vertices.empty()) {
        auto buffer = std::make_unique<FwBuffer>();
        if (vertices.size() <= kMaxBytes / sizeof(FwMeshVertex) &&
            buffer->Create(BindFlag::VertexBuffer, unsigned(vertices.size() * sizeof(FwMeshVertex)),
                           BufferUsage::Default, vertices.data())) {
            vertexBuffer = std::move(buffer);
        } else {
            ok = false;
        }
    }
    if (!faces.empty()) {
        auto buffer = std::make_unique<FwBuffer>();
        if (faces.size() <= kMaxBytes / sizeof(FwMeshFace) &&
            buffer->Create(BindFlag::IndexBuffer, unsigned(faces.size() * sizeof(FwMeshFace)),
                           BufferUsage::Default, faces.data())) {
            indexBuffer = std::move(buffer);
            gpuFaceCount = uint32_t(faces.size());
        } else {
            ok = false;
        }
    }
    return ok;
}

void FwMesh::Release() {
    vertexBuffer.reset();
    indexBuffer.reset();
    gpuFaceCount = 0;
    subsets.clear();
    positions.clear();
    faces.clear();
    boundsCenter = Vector3();
    boundsRadius = -1.0f;
    subsetVertices.clear();
}

void FwMesh::ComputeBounds() {
    boundsCenter = Vector3();
    boundsRadius = -1.0f;
    if (positions.empty()) return;
    Vector3 low = positions[0], high = positions[0];
    for (const Vector3& p : positions) {
        low = Vector3(std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z));
        high = Vector3(std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z));
    }
    boundsCenter = (low + high) * 0.5f;
    float radiusSquared = 0.0f;
    for (const Vector3& p : positions)
        radiusSquared = std::max(radiusSquared, (p - boundsCenter).LengthSquared());
    boundsRadius = std::sqrt(radiusSquared);
}

void FwMesh::ComputeSubsetVertices() {
    subsetVertices.assign(subsets.size(), VertexRange{});
    for (size_t i = 0; i < subsets.size(); ++i) {
        const FwMeshSubset& s = subsets[i];
        if (s.firstFace >= faces.size()) continue;
        const size_t end = std::min<size_t>(faces.size(), size_t{s.firstFace} + s.faceCount);
        uint32_t low = std::numeric_limits<uint32_t>::max(), high = 0;
        for (size_t f = s.firstFace; f < end; ++f) {
            for (uint32_t index : {faces[f].i0, faces[f].i1, faces[f].i2}) {
                low = std::min(low, index);
                high = std::max(high, index);
            }
        }
        // An index of 2^32 - 1 leaves no room for an end past it; such a subset (never a
        // loaded one) keeps an empty range and is drawn on its own.
        if (end > s.firstFace && high < std::numeric_limits<uint32_t>::max())
            subsetVertices[i] = VertexRange{low, high + 1};
    }
}

bool FwMesh::HasGpuBuffers() const {
    return vertexBuffer != nullptr && indexBuffer != nullptr;
}

void FwMesh::Activate() const {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.SetVertexBuffer(vertexBuffer.get(), sizeof(FwMeshVertex), 0);
    device.SetIndexBuffer(indexBuffer.get(), IndexFormat::UInt32);
    device.SetPrimitiveTopology(PrimitiveTopology::TriangleList);
}

void FwMesh::DrawSubset(int i) const {
    if (i < 0 || size_t(i) >= subsets.size()) return;
    DrawFaces(subsets[size_t(i)].firstFace, subsets[size_t(i)].faceCount);
}

void FwMesh::DrawFaces(uint32_t firstFace, uint32_t faceCount) const {
    if (!HasGpuBuffers() || faceCount == 0 || firstFace > gpuFaceCount ||
        faceCount > gpuFaceCount - firstFace) {
        return;
    }
    GraphicsDevice::GetInstance().DrawIndexed(faceCount * 3, firstFace * 3, 0);
}

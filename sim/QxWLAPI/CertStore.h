// The certificates of the stand-in's stores, as their blobs name them: the authentication
// server compares what a profile presents with these bytes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace sim {
constexpr size_t kCertBlobBytes = 48;
constexpr size_t kOversizedCertBlobBytes = 200;  // more than the 152 bytes a profile holds
// The blob of the certificate at that position of the store ("MY" or "ROOT").
std::vector<BYTE> CertificateBlob(const std::string& store, size_t index);
}  // namespace sim

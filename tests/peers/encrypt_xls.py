# Encrypts the Workbook stream of an Excel 97-2003 workbook as Excel does
# for "password to open", written from the published description of the two
# RC4 schemes of the .xls format (RC4 with MD5, and RC4 CryptoAPI with SHA-1),
# with nothing of Tarnwick's own code:
#  encrypt_xls.py IN.xls OUT.stream rc4|cryptoapi PASSWORD
# A FILEPASS record goes in after the first BOF; the sheet offsets in
# BOUNDSHEET follow it. The stream is then encrypted in blocks of 1024 bytes,
# each with its own key, counting from the start of the stream; record headers,
# BOF, FILEPASS and a few others stay plain, as does BOUNDSHEET's offset.
# Wrap the result in a compound file with `gsf createole`.
import hashlib, os, struct, sys

from xlrd import compdoc

PLAIN = {0x0809, 0x002F, 0x0194, 0x0195, 0x00E1, 0x0196, 0x0138}


def rc4(key, data):
    s, j = list(range(256)), 0
    for i in range(256):
        j = (j + s[i] + key[i % len(key)]) & 0xFF
        s[i], s[j] = s[j], s[i]
    out, i, j = bytearray(), 0, 0
    for byte in data:
        i = (i + 1) & 0xFF
        j = (j + s[i]) & 0xFF
        s[i], s[j] = s[j], s[i]
        out.append(byte ^ s[(s[i] + s[j]) & 0xFF])
    return bytes(out)


def block_keys(hash_of, secret, length):
    return lambda block: hash_of(secret + struct.pack("<I", block)).digest()[:length]


# A random verifier and its hash, encrypted as block 0.
def checked_verifier(key, hash_of):
    verifier = os.urandom(16)
    return rc4(key(0), verifier + hash_of(verifier).digest())


def standard(password, salt):
    h0 = hashlib.md5(password.encode("utf-16-le")).digest()
    key = block_keys(hashlib.md5, hashlib.md5((h0[:5] + salt) * 16).digest()[:5], 16)
    return struct.pack("<HHH", 1, 1, 1) + salt + checked_verifier(key, hashlib.md5), key


def cryptoapi(password, salt):
    h0 = hashlib.sha1(salt + password.encode("utf-16-le")).digest()
    key = block_keys(hashlib.sha1, h0, 16)
    check = checked_verifier(key, hashlib.sha1)
    csp = "Microsoft Enhanced Cryptographic Provider v1.0\0".encode("utf-16-le")
    # Flags, size extra, RC4, SHA-1, 128-bit key, provider type, two reserved.
    header = struct.pack("<IIIIIIII", 0x04, 0, 0x6801, 0x8004, 128, 1, 0, 0) + csp
    verifier_part = struct.pack("<I", 16) + salt + check[:16] + struct.pack("<I", 20) + check[16:]
    return struct.pack("<HHHII", 1, 4, 2, 0x04, len(header)) + header + verifier_part, key


def records(stream):
    at = 0
    while at + 4 <= len(stream):
        kind, length = struct.unpack_from("<HH", stream, at)
        yield at, kind, length
        at += 4 + length


source, target, scheme, password = sys.argv[1:5]
stream = compdoc.CompDoc(open(source, "rb").read(),
                         logfile=open(os.devnull, "w")).get_named_stream("Workbook")
filepass, key = (standard if scheme == "rc4" else cryptoapi)(password, os.urandom(16))
head = 4 + struct.unpack_from("<H", stream, 2)[0]  # after the first BOF
record = struct.pack("<HH", 0x002F, len(filepass)) + filepass
stream = bytearray(stream[:head] + record + stream[head:])
keystream = b"".join(rc4(key(block), bytes(1024))
                     for block in range((len(stream) + 1023) // 1024))
for at, kind, length in records(stream):
    if kind == 0x0085:
        offset = struct.unpack_from("<I", stream, at + 4)[0]
        struct.pack_into("<I", stream, at + 4, offset + len(record))
    if kind not in PLAIN:
        begin = at + 4 + (4 if kind == 0x0085 else 0)
        for k in range(begin, min(at + 4 + length, len(stream))):
            stream[k] ^= keystream[k]
open(target, "wb").write(bytes(stream))

#!/bin/sh
# Writes the WAV files the impulse-response tests read, from sample patterns that the
# tests know: sox, Python's wave module and libsndfile's tools as other programs write
# them, and files put together chunk by chunk as recorders and IR libraries lay them
# out. Usage: make_wav_fixtures.sh DIR
set -eu
out=$1
mkdir -p "$out"
cd "$out"

# 300 frames, sample i = 100 i − 15000.
perl -e 'print pack("s<*", map { $_ * 100 - 15000 } 0..299)' > ramp300.s16
# Stereo: the left channel is the 300-frame ramp, the right one stays at 1234.
perl -e 'print pack("s<*", map { ($_ * 100 - 15000, 1234) } 0..299)' > stereo.s16
# Unsigned 8-bit: 0, 1, .., 255.
perl -e 'print pack("C*", 0..255)' > bytes.u8
# 32-bit integers whose low byte is not zero (it must be dropped).
perl -e 'print pack("l<*", 0x12345678, -0x12345678, 0x7FFFFFFF, -0x80000000)' > words.s32
# Floats: full scale both ways and some values between.
perl -e 'print pack("f<*", -1.0, 1.0, 0.5, -0.5, 0.25)' > float.f32
perl -e 'print pack("f<*", 1.0, 0.5, 0.25)' > float48.f32

# Plain PCM (wavpcm keeps the 16-byte format block) and what sox writes by default
# (the extensible format above 16 bits).
sox -D -t raw -r 44100 -e signed -b 16 -c 1 ramp300.s16 -t wavpcm mono16_44k.wav
sox -D -t raw -r 44100 -e signed -b 16 -c 2 stereo.s16 -t wavpcm stereo16_44k.wav
sox -D -t raw -r 44100 -e unsigned -b 8 -c 1 bytes.u8 -t wavpcm mono8_44k.wav
sox -D -t raw -r 44100 -e signed -b 16 -c 1 ramp300.s16 -b 24 mono24_44k_ext.wav
sox -D -t raw -r 44100 -e signed -b 16 -c 1 ramp300.s16 -t wavpcm -b 24 mono24_44k.wav
sox -D -t raw -r 44100 -e signed -b 32 -c 1 words.s32 -t wavpcm mono32_44k.wav
sox -D -t raw -r 44100 -e signed -b 32 -c 1 words.s32 mono32_44k_ext.wav
sox -D -t raw -r 44100 -e floating-point -b 32 -c 1 float.f32 monofloat_44k.wav
sox -D -t raw -r 48000 -e floating-point -b 32 -c 1 float48.f32 monofloat_48k.wav
sox -D -t raw -r 96000 -e signed -b 16 -c 2 stereo.s16 -b 24 stereo24_96k_ext.wav
sox -D -t raw -r 44100 -e signed -b 16 -c 1 ramp300.s16 -e floating-point -b 32 rampfloat_44k_ext.wav
# Refused: a rate the pedal does not take, three channels, and the companded formats.
sox -D -t raw -r 22050 -e signed -b 16 -c 1 ramp300.s16 -t wavpcm mono16_22k.wav
sox -D -t raw -r 44100 -e signed -b 16 -c 3 ramp300.s16 -t wavpcm three16_44k.wav
sox -D -t raw -r 44100 -e signed -b 16 -c 1 ramp300.s16 -e a-law alaw_44k.wav
sox -D -t raw -r 44100 -e signed -b 16 -c 1 ramp300.s16 -e u-law ulaw_44k.wav
rm -f ./*.s16 ./*.u8 ./*.s32 ./*.f32

# libsndfile: float with its fact and PEAK chunks (from float, so that it does not
# scale), and a broadcast-wave description and an INFO comment (that both hold the word
# "data") added to the 16-bit ramp.
sndfile-convert -float32 rampfloat_44k_ext.wav sf_float_44k.wav
sndfile-metadata-set --bext-description "take data from the fmt desk" --str-comment "metadata" \
  mono16_44k.wav sf_meta16_44k.wav >/dev/null

# Python: the ramp through the wave module, chunk-by-chunk files holding the same ramp
# (every file named chunks_* converts to what mono16_44k.wav does; refused_* are
# refused), and a noise burst at every rate with the 512 values it must give, worked
# out here from the conversion rule in single precision.
python3 - <<'PY'
import struct, wave

def mono16(name, rate, samples):
    with wave.open(name, "wb") as w:
        w.setnchannels(1); w.setsampwidth(2); w.setframerate(rate)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))

ramp = [100 * i - 15000 for i in range(300)]
mono16("py_mono16_44k.wav", 44100, ramp)

def chunk(tag, body):
    return tag + struct.pack("<I", len(body)) + body + b"\0" * (len(body) % 2)

def wav(name, *chunks):
    body = b"WAVE" + b"".join(chunks)
    open(name, "wb").write(b"RIFF" + struct.pack("<I", len(body)) + body)

GUID_TAIL = bytes.fromhex("00 00 10 00 80 00 00 aa 00 38 9b 71")
def fmt(code, bits, sub=None, tail=GUID_TAIL):
    size = bits // 8
    body = struct.pack("<HHIIHH", code, 1, 44100, 44100 * size, size, bits)
    if sub is not None:
        body += struct.pack("<HHII", 22, bits, 4, sub) + tail
    return chunk(b"fmt ", body)

junk = chunk(b"JUNK", bytes(28))
info = chunk(b"LIST", b"INFO" + chunk(b"ICMT", b"metadata: fmt data\0"))
bext = chunk(b"bext", b"take data from the fmt desk".ljust(602, b"\0"))
odd = chunk(b"note", b"data!")
pcm16 = chunk(b"data", struct.pack("<300h", *ramp))
pcm24 = chunk(b"data", b"".join(struct.pack("<i", s * 256)[:3] for s in ramp))
float32 = chunk(b"data", struct.pack("<300f", *(s / 32768 for s in ramp)))
fact = chunk(b"fact", struct.pack("<I", 300))
wav("chunks_pcm16.wav", junk, odd, info, fmt(1, 16), odd, bext, pcm16)
wav("chunks_pcm24_ext.wav", bext, odd, fmt(0xFFFE, 24, 1), info, odd, pcm24)
wav("chunks_float_ext.wav", junk, fmt(0xFFFE, 32, 3), fact, odd, float32)
wav("chunks_float.wav", info, fmt(3, 32), fact, junk, float32)
wav("refused_alaw_ext.wav", junk, fmt(0xFFFE, 8, 6), chunk(b"data", bytes(300)))
wav("refused_other_guid.wav", fmt(0xFFFE, 16, 1, bytes(12)), pcm16)
wav("refused_float16.wav", fmt(3, 16), pcm16)

def f32(v):
    return struct.unpack("<f", struct.pack("<f", v))[0]

def resampled(x, step):
    # Output k is read at source position k × (1 + step), the fraction kept in single
    # precision; the 16-bit noise stays inside ±1, so no value needs limiting.
    y, p, f = [x[0]], 1, 0.0
    for k in range(1, 512):
        f = f32(f + step)
        while f >= 1:
            f, p = f32(f - 1), p + 1
        y.append(f32(x[p] + f32(f32(x[p + 1] - x[p]) * f)))
        p += 1
    return [int(f32(v * 8388608.0)) for v in y]

noise = [(i * i * 7919 + i * 104729) % 60001 - 30000 for i in range(2400)]
x = [v / 32768 for v in noise]
for rate, step in ((44100, None), (48000, f32(0.088)), (88200, 1.0), (96000, f32(1.177))):
    mono16("noise16_%d.wav" % rate, rate, noise)
    values = [v * 256 for v in noise[:512]] if step is None else resampled(x, step)
    open("noise16_%d.expected" % rate, "w").write("\n".join(map(str, values)) + "\n")
PY

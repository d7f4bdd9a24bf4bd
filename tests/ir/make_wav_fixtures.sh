#!/bin/sh
# Writes the WAV files the impulse-response tests read, with sox, from sample patterns
# that the tests know (perl writes the raw samples). Usage: make_wav_fixtures.sh DIR
set -eu
out=$1
mkdir -p "$out"
cd "$out"

# 300 frames, sample i = 100 i − 15000.
perl -e 'print pack("s<*", map { $_ * 100 - 15000 } 0..299)' > ramp300.s16
# 2400 frames, sample i = 8 i: a straight line, so that resampling shows where it reads.
perl -e 'print pack("s<*", map { $_ * 8 } 0..2399)' > line.s16
# Stereo: the left channel is the 300-frame ramp, the right one stays at 1234.
perl -e 'print pack("s<*", map { ($_ * 100 - 15000, 1234) } 0..299)' > stereo.s16
# Unsigned 8-bit: 0, 1, .., 255.
perl -e 'print pack("C*", 0..255)' > bytes.u8
# 32-bit integers whose low byte is not zero (it must be dropped).
perl -e 'print pack("l<*", 0x12345678, -0x12345678, 0x7FFFFFFF, -0x80000000)' > words.s32
# Floats: full scale both ways and some values between.
perl -e 'print pack("f<*", -1.0, 1.0, 0.5, -0.5, 0.25)' > float.f32
perl -e 'print pack("f<*", 1.0, 0.5, 0.25)' > float48.f32
perl -e 'print pack("f<*", -1.0, 0.5, 0.25)' > float48neg.f32


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
sox -D -t raw -r 48000 -e floating-point -b 32 -c 1 float48neg.f32 monofloat_48k_neg.wav
for rate in 48000 88200 96000; do
  sox -D -t raw -r $rate -e signed -b 16 -c 1 line.s16 -t wavpcm line16_$rate.wav
done
sox -D -t raw -r 96000 -e signed -b 16 -c 2 stereo.s16 -b 24 stereo24_96k_ext.wav
# Refused: a rate the pedal does not take, and three channels.
sox -D -t raw -r 22050 -e signed -b 16 -c 1 ramp300.s16 -t wavpcm mono16_22k.wav
sox -D -t raw -r 44100 -e signed -b 16 -c 3 ramp300.s16 -t wavpcm three16_44k.wav
rm -f ./*.s16 ./*.u8 ./*.s32 ./*.f32

#!/usr/bin/env python3
"""How far baseline noise moves the deformation modulus of automatic marking.

For each noise level and ground modulus, simulates one area with the noise
before and after the impact and the same area without it (same seed, so the
impacts are identical), analyses both with tarvel-cli and prints the median
and the worst relative error of the noisy points against the clean ones.

    bench/marking_noise_sweep.py [--cli build/cli/tarvel-cli] [--seeds 3]
"""
import argparse
import json
import statistics
import subprocess
import tempfile
from pathlib import Path

NOISE_COUNTS = (1, 3, 10)
MODULI_MPA = (20, 80, 200)


def moduli(cli, out_dir, modulus, noise, seed):
    subprocess.run([cli, "simulate", str(out_dir), "--areas", "1", "--rows", "5",
                    "--columns", "5", "--moduli", f"uniform:{modulus}",
                    "--baseline-noise", str(noise), "--seed", str(seed)],
                   check=True, stdout=subprocess.DEVNULL)
    result = subprocess.run([cli, "analyze", str(out_dir / "area-1.pip")],
                            check=True, capture_output=True, text=True)
    # A non-finite modulus reads null; count it as infinitely wrong.
    return [p["deformationModulus"] if p["deformationModulus"] is not None else float("-inf")
            for p in json.loads(result.stdout)["points"]]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/cli/tarvel-cli")
    parser.add_argument("--seeds", type=int, default=3)
    args = parser.parse_args()
    print("noise (counts) | modulus (MPa) | median error | worst point")
    print("---|---|---|---")
    with tempfile.TemporaryDirectory() as tmp:
        for noise in NOISE_COUNTS:
            for modulus in MODULI_MPA:
                median_errors, worst = [], 0.0
                for seed in range(1, args.seeds + 1):
                    clean = moduli(args.cli, Path(tmp, "clean"), modulus, 0, seed)
                    noisy = moduli(args.cli, Path(tmp, "noisy"), modulus, noise, seed)
                    errors = [n / c - 1 for n, c in zip(noisy, clean)]
                    median_errors.append(statistics.median(noisy) / statistics.median(clean) - 1)
                    worst = max(worst, max(abs(e) for e in errors))
                median = max(median_errors, key=abs)
                print(f"{noise} | {modulus} | {median:+.2%} | {worst:.2%}")


if __name__ == "__main__":
    main()

#!/usr/bin/env perl
# Fails when a document disagrees with the program: every hint and every status message that the
# program writes must appear in each document, word for word, and the limits and exit statuses
# that the documents state must be the program's own. The English manual page writes its
# Cyrillic as groff escapes (\[u0430]), which are read as the letters they stand for.
# Usage: scripts/check-docs.pl   (from anywhere in the source tree)
use strict;
use warnings;
use utf8;
use open qw(:std :encoding(UTF-8));
use File::Basename qw(dirname);

my $root = dirname(__FILE__) . '/..';
sub slurp {
    my ($path) = @_;
    open(my $file, '<:encoding(UTF-8)', "$root/$path") or die "check-docs: $path: $!\n";
    local $/;
    return <$file>;
}

# The program's own texts and numbers.
my $messages = slurp('src/console/texts.h');
sub message {
    my ($name) = @_;
    $messages =~ /\b$name\s*=\s*program_text\(\s*u8"([^"]*)"\)/ or die "check-docs: no $name\n";
    (my $text = $1) =~ s/^\s+|\s+$//g;
    return $text;
}
# Every hint, however many there are, and the messages that stand for an exit status.
# A key's hint is made of three texts; the documents show it for the up arrow.
my @hints = grep { $_ ne 'kKeyHint' } $messages =~ /\b(k\w+Hint)\s*=/g;
@hints or die "check-docs: no hints in texts.h\n";
my @hint_texts = map { message($_) } @hints;
push @hint_texts, join(' ', message('kKeyHint'), message('kArrowUp')) . message('kKeyHintEnd');
my @status_texts = map { message($_) }
    qw(kInputEnded kInputUnreadable kOutputUnwritable kBeyondSingleWarning);
sub constant {
    my ($path, $name) = @_;
    slurp($path) =~ /\b$name\s*=\s*(\d+)\s*;/ or die "check-docs: no $name in $path\n";
    return $1;
}
my $longest_word = constant('src/console/numbers.h', 'kLongestNumber');
my $shown_word = constant('src/console/shown_word.h', 'kShownWordColumns');
my @statuses = map { constant('src/console/dialogue.h', $_) }
    qw(kExitDone kExitBadInput kExitOutputFailed);

# Each document, how it lists an exit status, and whether it lists every hint and states how much
# of a word is shown; the README, read in two minutes, shows one error and sends the reader to the
# manual for the rest.
my %documents = (
    'README.md' => ['^\| %s \|', 0],
    'doc/horner.1.in' => ['^\.B %s$', 1],
    'doc/horner.ru.1.in' => ['^\.B %s$', 1],
    'doc/README.ru.txt.in' => ['^    %s +\S', 1],
);
my $failures = 0;
sub fail {
    print STDERR "check-docs: $_[0]\n";
    $failures++;
}
for my $path (sort keys %documents) {
    my ($status_line, $states_cut) = @{$documents{$path}};
    my $text = slurp($path);
    $text =~ s/\\\[u([0-9A-Fa-f]{4})\]/chr(hex($1))/ge;
    (my $flowing = $text) =~ s/\s+/ /g;  # a text may be broken across lines
    for my $expected (@status_texts, $states_cut ? @hint_texts : ()) {
        index($flowing, $expected) >= 0 or fail("$path lacks \"$expected\"");
    }
    for my $status (@statuses) {
        $text =~ /${\ sprintf($status_line, $status)}/m or fail("$path lists no exit status $status");
    }
    my @limits = $flowing =~ /\b(\d[\d,]*) (?:bytes|байт)\b/g;
    grep({ $_ eq $longest_word } @limits) or fail("$path does not say that $longest_word bytes is the longest word");
    # the cut is counted in the columns a terminal gives the word
    my @widths = $flowing =~ /\b(\d+) (?:columns|позиций экрана)\b/g;
    !$states_cut || grep({ $_ eq $shown_word } @widths) or fail("$path does not say that $shown_word columns of a word are shown");
    for my $limit (@limits) {
        $limit eq $longest_word or fail("$path speaks of $limit bytes, which is no limit of the program");
    }
}
exit 1 if $failures;
printf "docs: %d documents agree with the program's %d messages, limits and exit statuses\n",
    scalar(keys %documents), scalar(@hint_texts) + scalar(@status_texts);

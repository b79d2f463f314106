#include "swf/ClipEntry.h"

#include "swf/SwfMovie.h"

void ClipEntry::DeletePlacement()
{
    CSwfObject* placement = placement_;
    placement_ = nullptr;
    if (placement != nullptr && movie_ != nullptr)
        movie_->RemoveTag(placement); // deleted here when the movie owned it
}
